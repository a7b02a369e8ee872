#pragma once

#include <QDialog>
#include <functional>

// Base of the shared full-screen dialogs: a frameless modal window over the
// whole screen from (0, 0) over the dimmed screen beneath, deleted on close.
//
// Each dialog class keeps one static instance pointer that other code tests
// to know whether such a dialog is open. trackInstance() stores the dialog in
// it and clears it again as soon as the dialog closes (not only when the
// deferred delete finally runs, which a caller spinning processEvents() would
// never see) and in any case when it is destroyed, so it never dangles.
class ShellDialog : public QDialog {
    Q_OBJECT
public:
    explicit ShellDialog(QWidget *parent = nullptr);
    ~ShellDialog() override;

    void done(int result) override;

protected:
    template <class T>
    void trackInstance(T *&instance)
    {
        T *self = static_cast<T *>(this);
        instance = self;
        m_releaseInstance = [&instance, self] {
            if (instance == self)
                instance = nullptr;
        };
    }

    void closeEvent(QCloseEvent *event) override;

private:
    void releaseInstance();

    std::function<void()> m_releaseInstance;
};
