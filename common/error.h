// What a reader or a check answers: nothing, or the whole message that
// names the file and the line ("nodes.txt:4: expected a node number").
// Readers return it; only a program's top level prints it and picks the
// exit status.
#pragma once

#include <string>
#include <string_view>

class [[nodiscard]] Error {
 public:
  Error() = default;  // no error

  // "file:line: what"
  static Error at(std::string_view file, int line, std::string_view what);
  // A message as it stands.
  static Error of(std::string text);

  explicit operator bool() const { return !text_.empty(); }  // true when there is an error
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};
