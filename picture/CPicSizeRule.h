#pragma once
// The arithmetic of the size dialog: a picture of W × H pixels keeps the ratio r = W / H while
// the box is checked, and no width may pass the largest allowed one.
class CPicSizeRule {
public:
    CPicSizeRule() = default;
    CPicSizeRule(int pictureWidth, int pictureHeight, int maxWidth);

    double Ratio() const { return m_ratio; }
    int MaxWidth() const { return m_maxWidth; }
    // The box starts checked when the shown size already has the picture's ratio.
    bool StartsChecked(int width, int height) const;
    // The width cut to the largest allowed one.
    int ClampWidth(int width) const;
    int HeightForWidth(int width) const;
    int WidthForHeight(int height) const;

private:
    double m_ratio = 1.0;
    int m_maxWidth = 0;  // 0: no limit
};

// The angle that a rotation request carries for the rotate dialog's choice: counter-clockwise
// angles as they are, clockwise ones as 360 − angle, brought below 360. Requests of 90 and 270
// are quarter turns clockwise and counter-clockwise (not counter-clockwise by that many degrees
// as other angles), so those two come out swapped and the picture turns the way chosen.
int RotationRequestAngle(bool clockwise, int angle);
