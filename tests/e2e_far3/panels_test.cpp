#include "Far3Fixture.h"
#include "Chart.h"

namespace {

TEST_F(Far3Test, Smoke) {
    ASSERT_TRUE(Start());
    Screen S;
    ASSERT_TRUE(WaitSettled(&S));
    std::printf("%s", S.Dump().c_str());
    ASSERT_TRUE(Keys(L"F9"));
    ASSERT_TRUE(AwaitText(L"Options", &S));
    std::printf("%s", S.Dump().c_str());
    ASSERT_TRUE(Keys(L"Esc"));
    ASSERT_TRUE(Quit());
}

}  // namespace
