// morvel-mdbconvert ACCESS.mdb OUT.sqlite: the code tables of a genuine Access file as an SQLite
// file. Morvel starts it in a process of its own, under limits on memory, CPU and time, so that a
// damaged file can only end this process. The exit code is an accessconvert::Result.
#include "AccessConvert.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: morvel-mdbconvert ACCESS.mdb OUT.sqlite\n");
        return accessconvert::kUsage;
    }
    return accessconvert::Convert(argv[1], argv[2]);
}
