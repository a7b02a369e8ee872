#include "dialogtexts.h"

#include <QLabel>

namespace DialogTexts {

void setTitle(QLabel *titleLabel, const QString &title)
{
    titleLabel->setText(title);
    titleLabel->setVisible(!title.isEmpty());
}

} // namespace DialogTexts
