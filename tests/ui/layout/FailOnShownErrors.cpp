#include "ShowException.h"

#include <gtest/gtest.h>

namespace {

// A modal box would wait for ever here; an error that no test expected fails the test that raised it.
class TFailOnShownErrors final : public testing::Environment {
public:
    void SetUp() override
    {
        SetShowExceptionHandler([](const QString &AMessage) { ADD_FAILURE() << "error shown: " << AMessage.toStdString(); });
    }
};

[[maybe_unused]] const testing::Environment *const Registered = testing::AddGlobalTestEnvironment(new TFailOnShownErrors);

} // namespace
