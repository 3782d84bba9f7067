// A made-up mesh (made_network.h) as the two CSV files netimport reads, so
// that netimport routes its uniform demand and writes the path list:
//   build/bench/pathsweep_made NODES SEED MEAN_DEGREE FOLDER
// writes FOLDER/nodes.csv (name,latitude,longitude: the square's 1000 units
// as 10 degrees) and FOLDER/links.csv (a,b).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "made_network.h"
#include "text_format.h"
#include "wholefile.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: pathsweep_made NODES SEED MEAN_DEGREE FOLDER\n");
    return 1;
  }
  const int n = std::atoi(argv[1]);
  const MadeNetwork made = make_network(n, static_cast<unsigned>(std::atoi(argv[2])), std::atof(argv[3]));
  const std::string folder = argv[4];
  std::string nodes = "name,latitude,longitude\n", links = "a,b\n";
  for (int v = 0; v < n; ++v) nodes += text_printf("N%d,%.6f,%.6f\n", v + 1, made.y[v] / 100.0, made.x[v] / 100.0);
  for (const capplan::PlanSpan& s : made.net.spans) links += text_printf("N%d,N%d\n", s.from, s.to);
  Error e = write_text_file(folder + "/nodes.csv", nodes);
  if (!e) e = write_text_file(folder + "/links.csv", links);
  if (e) std::fprintf(stderr, "%s\n", e.text().c_str());
  return e ? 1 : 0;
}
