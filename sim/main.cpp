#include <cstdio>
int main()
{
    std::puts("0");
    return 0;
}
