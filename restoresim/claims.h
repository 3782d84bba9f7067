// What the searching methods (vetrun, kimber, dunvar) share: the engine, the
// spare channels seized, the claims that confirm a restoration route back
// hop by hop (and release it again), and the restoration paths completed.
// Inside restoresim only.
#pragma once

#include <vector>

#include "engine.h"
#include "methods.h"

namespace restoresim {

// A restoration route being confirmed: the spans it has seized so far, from
// the node that started the confirmation.
struct Claim {
  std::vector<int> nodes;  // nodes[0] started it
  std::vector<int> spans;
  int index = 0;         // the demand it confirms (as Message::index)
  int side = 0;          // kimber: the end it confirms toward (as Message::side)
  int partner = -1;      // kimber: the other half
  bool arrived = false;  // reached its end and accepted there
  bool failed = false;   // being released
};

class Claims {
 public:
  virtual ~Claims() = default;

 protected:
  Claims(const Network& net, const Cut& cut, const Options& options);

  // The spare channels of span s not yet seized; none on the cut span.
  int free_spare(int s) const { return s == cut_.span ? 0 : net_.spans[s].spare - seized_[s]; }

  // Starts a claim at `node`; its number.
  int start_claim(int node, int side, int index);
  // Sends the claim's confirmation from `node` over s, seizing one spare
  // channel; false when s has none free.
  bool extend(int claim, int node, int s);
  // Releases the claim's spans hop by hop back to where it started, and
  // calls on_released there.
  void release_from(int claim, int node);
  // A spare channel of span s, toward the far end from `node`, was just
  // seized for the claim.
  virtual void on_seized(const Claim&, int /*node*/, int /*s*/) {}
  virtual void on_released(int claim) = 0;

  // A restoration path completed now.
  void complete(std::vector<int> nodes, std::vector<int> spans, double now, int working_path = -1);
  // The run's messages, events and restoration paths.
  void finish(RunResult& r);

  const Network& net_;
  const Cut& cut_;
  const Options& options_;
  Engine engine_;
  std::vector<int> seized_;  // per span
  std::vector<Claim> claims_;
  std::vector<RestorationPath> paths_;
};

}  // namespace restoresim
