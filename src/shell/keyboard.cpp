#include "keyboard.h"
#include "ui_keyboard.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

Keyboard *Keyboard::instKeyboard = nullptr;

namespace {

const char *const PanelStyle =
    "QFrame#panel{background-color:#f0f0f0;border-top:1px solid #E5E5E5;}"
    "QLabel#promptLabel{font:16px;color:#222222;padding-left:4px;}"
    "QLineEdit{font:18px;color:#222222;background:#ffffff;border:1px solid #E5E5E5;"
    "border-radius:4px;padding:0px 6px;}"
    "QPushButton{font:16px;color:#222222;background:#ffffff;border:1px solid #E5E5E5;"
    "border-radius:4px;padding:0px;}"
    "QPushButton:pressed,QPushButton:checked{background:#C2172D;color:#ffffff;}"
    "QPushButton#cancelBtn{padding:0px 12px;}";

const int KeyHeight = 44;
const int CharacterStretch = 2;
const int WideKeyStretch = 3;

// The kinds a caller can name as the content; sent back as "<kind>:<text>".
QString kindNamedBy(const QString &content)
{
    static const char *const kinds[] = {"name", "password", "account", "PIN"};
    for (const char *kind : kinds) {
        if (content.trimmed().compare(QLatin1String(kind), Qt::CaseInsensitive) == 0)
            return QLatin1String(kind);
    }
    return QString();
}

} // namespace

Keyboard::Keyboard(bool isEncry, const QString &content, QWidget *parent)
    : ShellDialog(parent)
    , ui(new Ui::Keyboard)
    , m_kind(kindNamedBy(content))
{
    ui->setupUi(this);
    trackInstance(instKeyboard);
    ui->panel->setStyleSheet(QString::fromLatin1(PanelStyle));
    ui->entry->setEchoMode(isEncry ? QLineEdit::Password : QLineEdit::Normal);

    if (m_kind == QLatin1String("name"))
        ui->promptLabel->setText(tr("Name"));
    else if (m_kind == QLatin1String("password"))
        ui->promptLabel->setText(tr("Password"));
    else if (m_kind == QLatin1String("account"))
        ui->promptLabel->setText(tr("Account"));
    else if (m_kind == QLatin1String("PIN"))
        ui->promptLabel->setText(tr("PIN"));
    else
        ui->promptLabel->setText(content.isEmpty() ? tr("Please enter") : content);

    new QVBoxLayout(ui->keysArea);
    ui->keysArea->layout()->setContentsMargins(0, 0, 0, 0);
    ui->keysArea->layout()->setSpacing(4);
    buildKeys();

    connect(ui->cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->entry, &QLineEdit::returnPressed, this, &Keyboard::enter);
    ui->entry->setFocus();
}

Keyboard::~Keyboard()
{
    delete ui;
}

void Keyboard::enter()
{
    const QString text = ui->entry->text();
    emit sendData(m_kind.isEmpty() ? text : m_kind + QLatin1Char(':') + text);
    accept();
}

void Keyboard::showPage(KeyPage page)
{
    m_page = page;
    buildKeys();
}

QHBoxLayout *Keyboard::addRow()
{
    auto *row = new QHBoxLayout;
    row->setSpacing(2);
    static_cast<QVBoxLayout *>(ui->keysArea->layout())->addLayout(row);
    return row;
}

QPushButton *Keyboard::addKey(QHBoxLayout *row, const QString &label, int stretch)
{
    auto *key = new QPushButton(label, ui->keysArea);
    key->setFocusPolicy(Qt::NoFocus);
    key->setFixedHeight(KeyHeight);
    // Ignored width: the row's stretch factors alone decide the key widths,
    // so that ten keys fit into the narrow screen.
    key->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    row->addWidget(key, stretch);
    key->show(); // a layout shows keys added to a visible keyboard only later
    return key;
}

void Keyboard::addCharacterKeys(QHBoxLayout *row, const QString &characters)
{
    for (const QChar c : characters) {
        QPushButton *key = addKey(row, c == QLatin1Char('&') ? QStringLiteral("&&") : QString(c),
                                  CharacterStretch);
        connect(key, &QPushButton::clicked, this, [this, c] { ui->entry->insert(QString(c)); });
    }
}

void Keyboard::buildKeys()
{
    QLayout *rows = ui->keysArea->layout();
    while (QLayoutItem *item = rows->takeAt(0)) {
        while (QLayoutItem *key = item->layout()->takeAt(0)) {
            // Deferred: the shift and page keys rebuild the keys from their
            // own click handler.
            key->widget()->hide();
            key->widget()->deleteLater();
            delete key;
        }
        delete item;
    }

    QString row1, row2;
    const QString row3 = QStringLiteral(".,?!'");
    switch (m_page) {
    case KeyPage::Letters:
        row1 = QStringLiteral("qwertyuiop");
        row2 = QStringLiteral("asdfghjkl");
        if (m_shift) {
            row1 = row1.toUpper();
            row2 = row2.toUpper();
        }
        break;
    case KeyPage::Symbols:
        row1 = QStringLiteral("1234567890");
        row2 = QStringLiteral("-/:;()$&@\"");
        break;
    case KeyPage::MoreSymbols:
        row1 = QStringLiteral("[]{}#%^*+=");
        row2 = QStringLiteral("_\\|~<>`");
        break;
    }
    addCharacterKeys(addRow(), row1);
    addCharacterKeys(addRow(), row2);

    QHBoxLayout *third = addRow();
    if (m_page == KeyPage::Letters) {
        QPushButton *shift = addKey(third, QStringLiteral("\u21e7"), WideKeyStretch);
        shift->setObjectName(QStringLiteral("shiftKey"));
        shift->setCheckable(true);
        shift->setChecked(m_shift);
        connect(shift, &QPushButton::clicked, this, [this] {
            m_shift = !m_shift;
            buildKeys();
        });
        addCharacterKeys(third, m_shift ? QStringLiteral("ZXCVBNM") : QStringLiteral("zxcvbnm"));
    } else {
        const bool more = m_page == KeyPage::MoreSymbols;
        QPushButton *other = addKey(third, more ? QStringLiteral("123") : QStringLiteral("#+="),
                                    WideKeyStretch);
        other->setObjectName(QStringLiteral("otherSymbolsKey"));
        connect(other, &QPushButton::clicked, this,
                [this, more] { showPage(more ? KeyPage::Symbols : KeyPage::MoreSymbols); });
        addCharacterKeys(third, row3);
    }
    QPushButton *del = addKey(third, QStringLiteral("\u232b"), WideKeyStretch);
    del->setObjectName(QStringLiteral("deleteKey"));
    del->setAutoRepeat(true);
    connect(del, &QPushButton::clicked, ui->entry, &QLineEdit::backspace);

    QHBoxLayout *fourth = addRow();
    const bool letters = m_page == KeyPage::Letters;
    QPushButton *mode = addKey(fourth, letters ? QStringLiteral("?123") : QStringLiteral("ABC"),
                               WideKeyStretch * 2);
    mode->setObjectName(QStringLiteral("modeKey"));
    connect(mode, &QPushButton::clicked, this,
            [this, letters] { showPage(letters ? KeyPage::Symbols : KeyPage::Letters); });
    QPushButton *space = addKey(fourth, tr("Space"), CharacterStretch * 5);
    space->setObjectName(QStringLiteral("spaceKey"));
    connect(space, &QPushButton::clicked, this, [this] { ui->entry->insert(QStringLiteral(" ")); });
    QPushButton *enterKey = addKey(fourth, tr("Enter"), WideKeyStretch * 2);
    enterKey->setObjectName(QStringLiteral("enterKey"));
    connect(enterKey, &QPushButton::clicked, this, &Keyboard::enter);
}
