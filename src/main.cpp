#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Printer"));
    label.resize(272, 480);
    label.show();
    return app.exec();
}
