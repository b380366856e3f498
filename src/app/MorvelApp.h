#pragma once
int RunMorvel(int argc, char** argv);
