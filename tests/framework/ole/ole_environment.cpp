// Linked into test programs that host controls: OLE is set up on the test
// thread before the first test and torn down after the last, as the
// program's entry point does for the program.
#include "framework/ole/ole_scope.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TOleEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        scope_ = std::make_unique<TOleScope>();
        ASSERT_TRUE(scope_->Succeeded()) << std::hex << scope_->Result();
    }
    void TearDown() override { scope_.reset(); }

private:
    std::unique_ptr<TOleScope> scope_;
};

// gtest owns and runs the environment; registered before main runs.
[[maybe_unused]] ::testing::Environment* const g_oleEnvironment =
    ::testing::AddGlobalTestEnvironment(new TOleEnvironment);

} // namespace
