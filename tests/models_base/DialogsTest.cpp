// Installing dialogs for the models without a user interface.
#include "models/ModelDialogs.h"

#include <gtest/gtest.h>

namespace {

class CountsRequest : public CModuleArrangementRequest {
public:
    using CModuleArrangementRequest::CModuleArrangementRequest;
    int m_nCount = 0;
};

class FakeDialogs : public IModelDialogs {
public:
    bool RunModuleArrangement(CModuleArrangementRequest& request) override
    {
        ++calls;
        lastTypeCode = request.m_nTypeCode;
        if (!ok)
            return false;
        if (auto* counts = dynamic_cast<CountsRequest*>(&request))
            counts->m_nCount = answer;
        return true;
    }
    bool ok = true;
    int answer = 0;
    int calls = 0;
    int lastTypeCode = -1;
};

TEST(ModelDialogsTest, WithoutAnImplementationEveryDialogIsCancelled)
{
    ASSERT_EQ(GetModelDialogs(), nullptr);
    CountsRequest request(5, 1);
    request.m_nCount = 3;
    EXPECT_FALSE(RunModuleArrangementDialog(request));
    EXPECT_EQ(request.m_nCount, 3);
}

TEST(ModelDialogsTest, AnInstalledDoubleAnswersOkOrCancelAndIsRemovedAgain)
{
    FakeDialogs fake;
    {
        CScopedModelDialogs scope(&fake);
        EXPECT_EQ(GetModelDialogs(), &fake);
        CountsRequest request(6, 0);
        fake.answer = 12;
        EXPECT_TRUE(RunModuleArrangementDialog(request));
        EXPECT_EQ(request.m_nCount, 12);
        fake.ok = false;
        EXPECT_FALSE(RunModuleArrangementDialog(request));
        EXPECT_EQ(fake.calls, 2);
        EXPECT_EQ(fake.lastTypeCode, 6);
    }
    EXPECT_EQ(GetModelDialogs(), nullptr);
}

}  // namespace
