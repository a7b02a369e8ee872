#include "language.h"

QTranslator *Language::translator = nullptr;
