#include <stdio.h>
#  define MAX(a, b) ((a) > (b) ? (a) : (b))
  #pragma once
int main(int argc, char* argv[]) {
    char c = 'x'; string s = "str\"ing";
    if (a < b) return 0x7f; /* block
    spanning */ // line
    x = 1.5e3 - 2;
}
#if defined(X) // comment on a preprocessor line
#endif
define include
