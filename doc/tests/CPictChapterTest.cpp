#include "doc/tests/CTestDoc.h"

#include <gtest/gtest.h>

namespace {

TEST(CPictChapter, GeometryCentresThePictureInWholeLines)
{
    CTestDoc doc(80, 2, 16, 2);  // line height 18
    doc.m_pictures[1] = {400, 200};
    CTextChapter* text = doc.First();
    CPictChapter* picture = doc.CreatePictChapter(text->Chapter()->Position(), 2);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Lines(), 1);
    EXPECT_EQ(picture->Chapter()->LineCount(), 1);

    ASSERT_TRUE(picture->SetPicture(1, 200, 100, 0, 0, {-1, -1, -1, -1}));
    EXPECT_EQ(picture->Lines(), 6);
    EXPECT_EQ(picture->TopSpace(), 4);
    EXPECT_EQ(picture->BottomSpace(), 4);
    EXPECT_EQ(picture->LeftSpace(), 2 * 2 * CTestDoc::kCell);
    EXPECT_EQ(picture->RightSpace(), 80 * CTestDoc::kCell - 32 - 200);
    EXPECT_EQ(picture->Chapter()->LineCount(), 6);
    EXPECT_EQ(doc.Lines().Count(), 7);
    const CTextLine* line = picture->Chapter()->LineAt(5);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->MapAt(4), 2);  // after two TABs of two cells: the picture

    doc.Dirty().Reset();
    doc.Dirty().MarkLine(0);
    ASSERT_TRUE(picture->SetPicture(1, 200, 36, 0, 0, {-1, -1, -1, -1}));
    EXPECT_EQ(picture->Lines(), 3);
    EXPECT_EQ(picture->TopSpace(), 9);
    EXPECT_EQ(picture->Chapter()->LineCount(), 3);
    EXPECT_EQ(doc.Lines().Count(), 4);
    EXPECT_EQ(doc.Dirty().Last(), -1);
}

TEST(CPictChapter, SetPictureSizeAndVisiblePart)
{
    CTestDoc doc;
    doc.m_pictures[1] = {1000, 800};
    doc.m_pictures[2] = {300, 50};
    CPictChapter* picture = doc.CreatePictChapter(nullptr, 0);
    EXPECT_FALSE(picture->SetPicture(9, -1, -1, 0, 0, {}));
    EXPECT_EQ(picture->PictureId(), -1);

    // Own size, fitted into the 500-pixel square keeping the aspect ratio.
    ASSERT_TRUE(picture->SetPicture(1, -1, -1, 0, 0, {-1, -1, -1, -1}));
    EXPECT_EQ(picture->Width(), 500);
    EXPECT_EQ(picture->Height(), 400);
    EXPECT_EQ(picture->VisiblePart().width, 1000);
    EXPECT_EQ(picture->VisiblePart().height, 800);

    // Requested sizes are cut to maxima greater than 0 only.
    ASSERT_TRUE(picture->SetPicture(2, 300, 200, 250, 0, {10, 20, 5000, -1}));
    EXPECT_EQ(picture->Width(), 250);
    EXPECT_EQ(picture->Height(), 200);
    EXPECT_EQ(picture->VisiblePart().x, 10);
    EXPECT_EQ(picture->VisiblePart().width, 290);
    EXPECT_EQ(picture->VisiblePart().height, 30);
    // Negative offsets keep the current ones.
    ASSERT_TRUE(picture->SetPicture(2, 300, 200, 0, 0, {-1, -1, 50, 50}));
    EXPECT_EQ(picture->VisiblePart().x, 10);
    EXPECT_EQ(picture->VisiblePart().y, 20);
    EXPECT_EQ(picture->VisiblePart().height, 30);

    const auto count = picture->Chapter()->ChangeCount();
    EXPECT_GT(count, 0u);
    // The undo copy of a picture takes its geometry under another id, silently.
    CPictChapter copy(0);
    copy.CopyFrom(*picture, 7);
    EXPECT_EQ(copy.PictureId(), 7);
    EXPECT_EQ(copy.Width(), 300);
    EXPECT_EQ(copy.Lines(), picture->Lines());
    EXPECT_EQ(copy.VisiblePart().width, 50);
    EXPECT_EQ(picture->Chapter()->ChangeCount(), count);
    doc.DeleteChapter(picture->Chapter()->Position());
    ASSERT_EQ(doc.m_released.size(), 1u);
    EXPECT_EQ(doc.m_released[0], 2);
    EXPECT_EQ(doc.Lines().Count(), 0);
}

TEST(CPictChapter, UndoPartnersUnlinkOnDestruction)
{
    CTestDoc doc;
    CTextChapter* live = doc.First();
    auto shadow = std::make_unique<CChapter>(doc, std::make_unique<CTextChapter>());
    live->Chapter()->LinkShadow(shadow.get());
    EXPECT_EQ(shadow->LiveLink(), live->Chapter());
    // Copying into the shadow is no change of the document.
    doc.SetModified(false);
    shadow->Text()->SetLength(3);
    EXPECT_FALSE(doc.Modified());
    shadow.reset();
    EXPECT_EQ(live->Chapter()->ShadowLink(), nullptr);
}

}  // namespace
