#include "app/MorvelApp.h"

int main(int argc, char** argv) { return RunMorvel(argc, argv); }
