#pragma once

// Marks a text of the layers without Qt that the editor shows in the user's language: it
// stands for the English text itself, and the translation tools collect it under `context`
// (lupdate runs with -tr-function-alias QT_TRANSLATE_NOOP+=KORVLAND_TRANSLATABLE). The
// windows translate it where they show it (src/ui/common/data_texts.h); the command-line
// tools print the English as it stands.
#define KORVLAND_TRANSLATABLE(context, text) text
