// Linked into every test binary that makes widgets: one QApplication for the whole run, made
// when the tests start rather than at load time, so listing the tests needs no display.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

class WidgetEnvironment final : public testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "vemo-tests";
        static char* argv[] = {name, nullptr};
        application_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { application_.reset(); }

private:
    std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] testing::Environment* const kRegistered =
    testing::AddGlobalTestEnvironment(new WidgetEnvironment);

}  // namespace
