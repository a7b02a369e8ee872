#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class MenuTable;
class QTranslator;
namespace Ui {
class Language;
}

// The language page: the six offered languages with a tick on the current
// one. A choice is stored and switched to at once; translatorChanged() then
// lets the main window and the settings menu set their texts again.
//
// It also owns the process's one translator: start-up creates it here before
// the main window exists, and the factory reset reloads it.
class Language : public QDialog {
    Q_OBJECT
public:
    enum Language_Action_Type {
        Action_Chinese = 0,
        Action_English = 1,
        Action_German = 2,
        Action_Japanese = 3,
        Action_French = 4,
        Action_Spanish = 5,
    };

    struct Language_ItemInfo {
        Language_Action_Type actionType;
        QString itemText; // the language's own name, never translated
        bool isCurrentLang;
    };

    static Language *instLanguage;
    static QTranslator *translator;

    // Error numbers of a switch, shown as at start-up.
    static constexpr int CatalogueNotLoaded = 3;
    static constexpr int TranslatorNotInstalled = 4;

    // Creates the translator when there is none, drops its catalogue,
    // loads ":/Resource/translations/firmware_<code>" and installs it.
    // Returns 0, or the error number. English needs no catalogue: when it
    // does not load the untranslated texts are the English ones.
    static int installCatalogue(const QString &code);

    // The settings code ("chinese-cn", "english", ...) of an offered language.
    static QString code(Language_Action_Type language);

    explicit Language(QWidget *parent = nullptr);
    ~Language() override;

signals:
    void translatorChanged();

public slots:
    // Stores `code` as the printer's language, then switches to it; a switch
    // that fails shows its error number. Always emits translatorChanged().
    void loadLanguage(const QString &code);

private:
    void initData();
    void showList();
    void itemDoClicked(int row);

    Ui::Language *ui;
    MenuTable *m_menu;
    QList<Language_ItemInfo> m_ShowItemInfoList;
    QString m_currentLanguage;
};
