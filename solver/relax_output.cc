#include "relax_output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "exchange.h"
#include "text_format.h"

using studyfiles::Answer;
using studyfiles::format_answer;

std::string temp_out_text(const RelaxSolution& s, double elapsed_seconds, double cpu_seconds) {
  return format_answer(Answer{s.feasible ? 1 : 0, elapsed_seconds, cpu_seconds, static_cast<double>(s.cost)});
}

namespace {

// A file written under a temporary name beside its final name; removed
// unless committed.
class PendingFile {
 public:
  explicit PendingFile(const std::string& name) : name_(name), temp_(name + ".XXXXXX") {}
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  ~PendingFile() {
    if (!committed_ && created_) ::unlink(temp_.c_str());
  }

  std::string write(const std::string& text) {
    const int fd = ::mkstemp(temp_.data());
    if (fd < 0) return failure("cannot create");
    created_ = true;
    ::fchmod(fd, 0666 & ~current_umask());
    std::FILE* f = ::fdopen(fd, "w");
    if (!f) {
      ::close(fd);
      return failure("cannot write");
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    const int saved = errno;
    if (std::fclose(f) != 0 || !written) {
      if (!written) errno = saved;
      return failure("cannot write");
    }
    return {};
  }

  std::string commit() {
    ::unlink(name_.c_str());
    if (std::rename(temp_.c_str(), name_.c_str()) != 0) return failure("cannot write");
    committed_ = true;
    return {};
  }

 private:
  static mode_t current_umask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
  }
  std::string failure(const char* what) const { return std::string(what) + " " + name_ + ": " + std::strerror(errno); }

  std::string name_;
  std::string temp_;
  bool created_ = false;
  bool committed_ = false;
};

}  // namespace

std::string write_answer_files(const std::string& path_name, const std::string& path_text,
                               const std::string& temp_name, const std::string& temp_text) {
  PendingFile path_file(path_name);
  PendingFile temp_file(temp_name);
  std::string error = path_file.write(path_text);
  if (error.empty()) error = temp_file.write(temp_text);
  if (error.empty()) error = path_file.commit();
  if (error.empty()) {
    error = temp_file.commit();
    if (!error.empty()) ::unlink(path_name.c_str());  // no paths without their verdict
  }
  return error;
}
