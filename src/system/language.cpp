#include "language.h"
#include "config.h"
#include "getconfigfile.h"
#include "mainwindow.h"
#include "menutable.h"
#include "onebuttondialog.h"
#include "pageframe.h"
#include "setting.h"
#include "ui_language.h"

#include <QCoreApplication>
#include <QIcon>
#include <QTranslator>

Language *Language::instLanguage = nullptr;
QTranslator *Language::translator = nullptr;

namespace {

struct Offered {
    Language::Language_Action_Type type;
    const char *name; // UTF-8, shown as written in every interface language
    const char *code;
};

const Offered OfferedLanguages[] = {
    {Language::Action_Chinese, "中文", "chinese-cn"},
    {Language::Action_English, "English", "english"},
    {Language::Action_German, "deutsch", "german"},
    {Language::Action_Japanese, "日本語", "japanese"},
    {Language::Action_French, "français", "french"},
    {Language::Action_Spanish, "Español", "spanish"},
};

} // namespace

int Language::installCatalogue(const QString &code)
{
    if (!translator)
        translator = new QTranslator(QCoreApplication::instance());
    // Qt keeps a second entry when an installed translator is installed
    // again, so it is taken out before it is reloaded.
    QCoreApplication::removeTranslator(translator);
    if (!translator->load(QStringLiteral(":/Resource/translations/firmware_") + code))
        return code == QLatin1String("english") ? 0 : CatalogueNotLoaded;
    // A catalogue without translations yet loads but cannot be installed:
    // its texts stay English, which is no failure.
    if (translator->isEmpty())
        return 0;
    return QCoreApplication::installTranslator(translator) ? 0 : TranslatorNotInstalled;
}

QString Language::code(Language_Action_Type language)
{
    return QString::fromLatin1(OfferedLanguages[language].code);
}

Language::Language(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::Language)
{
    ui->setupUi(this);
    PageFrame::install(this, ui->widget, ui->back);
    instLanguage = this;
    m_menu = new MenuTable(ui->tableWidget, this);
    initData();
    showList();
    connect(m_menu, &MenuTable::rowPressed, this, &Language::itemDoClicked);
    if (MainWindow::instMainWindow)
        connect(this, &Language::translatorChanged, MainWindow::instMainWindow, &MainWindow::initView);
    if (Setting::instSetting)
        connect(this, &Language::translatorChanged, Setting::instSetting, &Setting::updateDisplayLabel);
}

Language::~Language()
{
    if (instLanguage == this)
        instLanguage = nullptr;
    delete ui;
}

void Language::initData()
{
    m_ShowItemInfoList.clear();
    m_currentLanguage = QString::fromStdString(getConfigFile()->configFile()->getPrinterLanguage());
    for (const Offered &language : OfferedLanguages)
        m_ShowItemInfoList.append({language.type, QString::fromUtf8(language.name),
                                   m_currentLanguage == QLatin1String(language.code)});
}

void Language::showList()
{
    QList<MenuRow> rows;
    for (const Language_ItemInfo &item : m_ShowItemInfoList)
        rows.append({item.itemText, item.isCurrentLang ? QIcon(QStringLiteral(":/Resource/icon/select.png")) : QIcon()});
    m_menu->setRows(rows);
}

void Language::itemDoClicked(int row)
{
    loadLanguage(code(m_ShowItemInfoList.at(row).actionType));
    initData();
    showList();
    // The page's own text follows the new language too.
    ui->back->setText(PageFrame::backText());
}

void Language::loadLanguage(const QString &code)
{
    getConfigFile()->configFile()->setPrinterLanguage(code.toStdString());
    if (const int error = installCatalogue(code)) {
        const QString digit = QString::number(error);
        (new OneButtonDialog(digit, digit, QString(), nullptr))->exec(); // deletes itself on close
    }
    emit translatorChanged();
}
