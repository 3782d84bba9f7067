#include "routeweave.h"

int main(int argc, char** argv) { return routeweave_main(argc, argv); }
