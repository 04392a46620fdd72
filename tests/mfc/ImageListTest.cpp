#include "platform/mfc/ImageList.h"

#include <gtest/gtest.h>

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/Dc.h"

TEST(ImageList, PicturesAreFittedMaskedAndDrawnTransparently)
{
    CImageList images;
    EXPECT_EQ(images.Add(ui::BitmapImage(2, 2)), -1) << "not created yet";
    ASSERT_TRUE(images.Create(4, 4, ILC_COLOR24 | ILC_MASK, 0, 4));
    EXPECT_FALSE(images.Create(8, 8, ILC_COLOR24, 0, 4));

    ui::BitmapImage picture(2, 2, RGB(255, 0, 255));
    picture.setPixel(0, 0, RGB(0, 0, 255));
    CBitmap bitmap;
    bitmap.CreateBitmapFrom(picture);
    ASSERT_EQ(images.Add(&bitmap, RGB(255, 0, 255)), 0);
    EXPECT_EQ(images.image(0)->width(), 4);
    EXPECT_EQ(images.image(0)->pixel(1, 1), RGB(0, 0, 255));  // scaled 2x
    EXPECT_EQ(images.mask(0)->pixel(3, 3), RGB(255, 255, 255));
    EXPECT_EQ(images.image(1), nullptr);

    CBitmap canvas;
    canvas.CreateBitmapFrom(ui::BitmapImage(5, 5, RGB(0, 255, 0)));
    CDC dc;
    dc.SelectObject(&canvas);
    EXPECT_TRUE(images.Draw(&dc, 0, CPoint(1, 1), ILD_TRANSPARENT));
    EXPECT_EQ(canvas.image()->pixel(1, 1), RGB(0, 0, 255));
    EXPECT_EQ(canvas.image()->pixel(4, 4), RGB(0, 255, 0)) << "the masked colour shows the background";
    EXPECT_TRUE(images.Draw(&dc, 0, CPoint(1, 1), ILD_NORMAL));
    EXPECT_EQ(canvas.image()->pixel(4, 4), RGB(255, 0, 255));
    EXPECT_FALSE(images.Draw(&dc, 3, CPoint(0, 0), ILD_NORMAL));

    EXPECT_TRUE(images.Remove(0));
    EXPECT_FALSE(images.Remove(0));
    EXPECT_TRUE(images.SetImageCount(2));
    EXPECT_EQ(images.GetImageCount(), 2);
}
