#include "picture/CPicSizeRule.h"

CPicSizeRule::CPicSizeRule(int pictureWidth, int pictureHeight, int maxWidth)
    : m_ratio(pictureWidth > 0 && pictureHeight > 0 ? static_cast<double>(pictureWidth) / pictureHeight : 1.0),
      m_maxWidth(maxWidth > 0 ? maxWidth : 0)
{
}

bool CPicSizeRule::StartsChecked(int width, int height) const
{
    return static_cast<int>(m_ratio * height) == width;
}

int CPicSizeRule::ClampWidth(int width) const
{
    return m_maxWidth > 0 && width > m_maxWidth ? m_maxWidth : width;
}

int CPicSizeRule::HeightForWidth(int width) const
{
    return static_cast<int>(width / m_ratio + 0.5);
}

int CPicSizeRule::WidthForHeight(int height) const
{
    return static_cast<int>(height * m_ratio + 0.5);
}

int RotationRequestAngle(bool clockwise, int angle)
{
    int result = clockwise ? 360 - angle : angle;
    while (result >= 360)
        result -= 360;
    while (result < 0)
        result += 360;
    // A request of 90 or 270 is a quarter turn clockwise or counter-clockwise, the opposite of
    // what those numbers mean for every other angle: a quarter turn chosen here keeps its side.
    if (result == 90)
        return 270;
    if (result == 270)
        return 90;
    return result;
}
