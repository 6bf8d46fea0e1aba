#pragma once

namespace brelker {

// Puts Qt's own texts (the buttons of message boxes, the file dialogs) into the
// program's language, replacing the one loaded before. Where the system has no
// translation they stay in English, without a message.
void FollowLanguageInQt(int language);

}  // namespace brelker
