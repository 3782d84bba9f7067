#include "parallel.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "cut_span.h"
#include "in_process.h"
#include "textio.h"
#include "wholefile.h"

using studyfiles::Netdata;
using studyfiles::NodeList;

namespace {

// How far the threads may run ahead of the cut being written, in cuts per
// thread: enough to keep them busy, little enough to keep the texts small.
constexpr std::size_t kAheadPerThread = 32;

void write_text(std::FILE* f, const std::string& text) { std::fwrite(text.data(), 1, text.size(), f); }

// Files the path report where "cp PATH.L ..." would; a report that cannot
// be written stops the run, as a failed cp does.
void file_report(const std::string& name, const std::string& text) {
  if (write_text_file(name, text)) stop_with(1, text_printf("ERROR--cannot write the file %s!!!\n", name.c_str()).c_str());
}

// The cuts handed out to the threads in order, and their texts kept until
// the writer takes them in the same order.
class CutQueue {
 public:
  CutQueue(std::vector<int> cuts, std::size_t ahead) : cuts_(std::move(cuts)), texts_(cuts_.size()), ahead_(ahead) {}

  // The index of the next cut to solve; false when there is none left (or
  // the run ends).
  bool claim(std::size_t& index) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return abandoned_ || next_ >= cuts_.size() || next_ < written_ + ahead_; });
    if (abandoned_ || next_ >= cuts_.size()) return false;
    index = next_++;
    return true;
  }
  int cut(std::size_t index) const { return cuts_[index]; }

  void finish(std::size_t index, CutText text) {
    std::lock_guard lock(mutex_);
    texts_[index] = std::move(text);
    changed_.notify_all();
  }
  void fail(std::exception_ptr error) {
    std::lock_guard lock(mutex_);
    if (!error_) error_ = error;
    changed_.notify_all();
  }

  // The texts of cut `index`, once solved; rethrows what a thread failed on.
  CutText take(std::size_t index) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return texts_[index].has_value() || error_; });
    if (error_) std::rethrow_exception(error_);
    CutText text = std::move(*texts_[index]);
    texts_[index].reset();
    written_ = index + 1;
    changed_.notify_all();
    return text;
  }

  // No more cuts are handed out.
  void abandon() {
    std::lock_guard lock(mutex_);
    abandoned_ = true;
    changed_.notify_all();
  }

  std::size_t size() const { return cuts_.size(); }

 private:
  const std::vector<int> cuts_;
  std::vector<std::optional<CutText>> texts_;
  const std::size_t ahead_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t next_ = 0;
  std::size_t written_ = 0;
  bool abandoned_ = false;
  std::exception_ptr error_;
};

void solve_cuts(CutQueue& queue, const Options& options, const Netdata& net, const NodeList& nodes) {
  try {
    InProcessSolver solver(options, net, nodes);
    for (std::size_t index; queue.claim(index);) queue.finish(index, solver.run_cut(queue.cut(index)));
  } catch (...) {
    queue.fail(std::current_exception());
  }
}

// Writes the cuts in order; the status of the cut that ends the run, if one does.
std::optional<int> write_cuts(CutQueue& queue, std::FILE* results) {
  for (std::size_t index = 0; index < queue.size(); ++index) {
    const CutText text = queue.take(index);
    write_text(stdout, text.out);
    write_text(results, text.results);
    write_text(stderr, text.errors);
    if (text.report_name) file_report(*text.report_name, text.report_text);
    if (text.stop) return text.stop;
  }
  return std::nullopt;
}

}  // namespace

void make_cut_directory(const std::string& netdata_name) {
  const std::string name = netdata_name + ".ls";
  if (::mkdir(name.c_str(), 0777) == 0) return;
  const int error = errno;
  struct stat st {};
  if (error == EEXIST && ::stat(name.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return;
  stop_with(1, text_printf("ERROR--cannot create the folder %s: %s!!!\n", name.c_str(), std::strerror(error)).c_str());
}

void parallel_cut_loop(const Options& options, const Netdata& net, const NodeList& nodes, std::FILE* results,
                       int threads) {
  print_cut_loop_heading();
  std::vector<int> cuts;
  const int stride = net.bidirectional ? 2 : 1;
  for (long long e = 1; e <= net.n_record; e += stride) cuts.push_back(static_cast<int>(e));
  if (cuts.empty()) return;
  const std::size_t workers = std::min(cuts.size(), static_cast<std::size_t>(std::max(threads, 1)));
  CutQueue queue(std::move(cuts), workers * kAheadPerThread);
  std::optional<int> stop;
  std::exception_ptr error;
  {
    std::vector<std::jthread> pool;
    for (std::size_t t = 0; t < workers; ++t) pool.emplace_back([&] { solve_cuts(queue, options, net, nodes); });
    try {
      stop = write_cuts(queue, results);
    } catch (...) {
      error = std::current_exception();
    }
    queue.abandon();
  }  // the threads end here
  if (error) std::rethrow_exception(error);
  if (stop) throw Stop{*stop};
}
