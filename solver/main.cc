#include "relax.h"

int main(int argc, char** argv) { return relax_main(argc, argv); }
