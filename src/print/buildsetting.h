#pragma once

#include <QPointer>
#include <QWidget>

class SerialObject;
class TwoButtonDialog;
namespace Ui {
class BuildSetting;
}

// The small menu that the printing page's "Settings" button raises over the
// running print: replace the material (pause first, then the unload page
// once the head is parked), switch the light, open the print-detail page.
// The printing page creates it hidden and closes it when the print ends.
class BuildSetting : public QWidget {
    Q_OBJECT
public:
    static BuildSetting *instBuildSetting;

    // Opens the filament unload page for a paused print (the page's "Load"
    // then leads back to the print) and returns it; returns null, opening
    // nothing, while an unload page is already open. The unload page belongs
    // to the control pages, which build on this library, so the program
    // installs the opener at start-up. Without one, "Replace material" only
    // pauses the print.
    using UnloadPageOpener = QWidget *(*)();
    static void setUnloadPageOpener(UnloadPageOpener opener);

    BuildSetting(bool isGxFile, int materialUsed, QWidget *parent = nullptr);
    ~BuildSetting() override;

public slots:
    void on_btn_replaceMaterial_clicked();
    void on_btn_light_clicked();
    void on_btn_printDetail_clicked();
    // The printing page has parked the head of a pause and the board is idle.
    void slotPrintPauseToHome();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void showPrintDetail();

    Ui::BuildSetting *ui;
    bool m_isGxFile;
    int m_materialUsed;
    SerialObject *m_serialObject;
    // The user asked to replace the material; the unload page opens when
    // the pause has parked the head.
    bool currentUIPause = false;
    QPointer<TwoButtonDialog> m_pauseQuestion;
    QPointer<QWidget> m_unloadPage;
};
