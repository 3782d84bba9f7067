#include "capview.h"

int main(int argc, char** argv) { return capview_main(argc, argv); }
