#pragma once

#include <QString>

class QLabel;

// Small helpers the shared dialogs have in common.
namespace DialogTexts {

// Shows `title`, or hides the title line when it is empty so that the card
// does not open with a blank gap.
void setTitle(QLabel *titleLabel, const QString &title);

} // namespace DialogTexts
