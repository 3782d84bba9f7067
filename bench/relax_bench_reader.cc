// Does nothing but read RELAX.INP whole, the way relax reads it: the time of
// starting, reading and ending that relax's whole run is measured against.
#include <cstdio>
#include <string>

int main() {
  std::FILE* f = std::fopen("RELAX.INP", "rb");
  if (!f) return 1;
  std::string text, chunk(1 << 16, '\0');
  std::size_t got;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), f)) > 0) text.append(chunk, 0, got);
  std::fclose(f);
  return text.empty() ? 1 : 0;
}
