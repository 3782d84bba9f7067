#include "capplan.h"

int main(int argc, char** argv) { return capplan_main(argc, argv); }
