#include "error.h"

Error Error::at(std::string_view file, int line, std::string_view what) {
  Error e;
  e.text_.append(file).append(":").append(std::to_string(line)).append(": ").append(what);
  return e;
}

Error Error::of(std::string text) {
  Error e;
  e.text_ = std::move(text);
  return e;
}
