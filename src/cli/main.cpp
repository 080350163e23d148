#include <cstdio>

int main() {
  std::puts("scenpack");
  return 0;
}
