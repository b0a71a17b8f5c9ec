#pragma once
// The one-way switch of the window's captions to English, for the rest of the run. Message
// boxes, tooltips, "Q", "x", the separator and "English language" keep their texts.

namespace app {

class Form1;

// Sets the window title, twelve control captions and fourteen menu captions to English, and
// blanks and disables "English", in a fixed order. Running it again changes nothing.
void switchToEnglish(Form1 &form);

} // namespace app
