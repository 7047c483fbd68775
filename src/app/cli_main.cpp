#include <cstdio>

int main() {
    std::fputs("vorleth-cli: usage: vorleth-cli list DIR | board FILE [N] | import DIR FILE...\n",
                stderr);
    return 1;
}
