// Installing dialogs for the models without a user interface.
#include "models/ModelDialogs.h"

#include <gtest/gtest.h>

namespace {

class FakeDialogs : public IModelDialogs {
public:
    bool RunModuleArrangement(CModuleArrangementRequest& request) override
    {
        lastTypeCode = request.m_nTypeCode;
        return ok;
    }
    bool ok = true;
    int lastTypeCode = -1;
};

TEST(ModelDialogsTest, ADoubleIsInstalledForItsScopeAndCancelledWithoutOne)
{
    ASSERT_EQ(GetModelDialogs(), nullptr);
    CModuleArrangementRequest request(6, 0);
    EXPECT_FALSE(RunModuleArrangementDialog(request));
    FakeDialogs fake;
    {
        CScopedModelDialogs scope(&fake);
        EXPECT_TRUE(RunModuleArrangementDialog(request));
        EXPECT_EQ(fake.lastTypeCode, 6);
        fake.ok = false;
        EXPECT_FALSE(RunModuleArrangementDialog(request));
    }
    EXPECT_EQ(GetModelDialogs(), nullptr);
}

}  // namespace
