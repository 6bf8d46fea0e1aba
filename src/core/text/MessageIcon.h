#pragma once

namespace brelker {

// What a message box says by its icon: a failure (stop), a warning or refusal
// (exclamation), a notice (information) or a Yes/No question.
enum class MessageIcon { Stop, Warning, Information, Question };

}  // namespace brelker
