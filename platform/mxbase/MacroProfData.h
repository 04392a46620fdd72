#pragma once
// The merged properties of a profile group of a profile tab: what all profiles of the group share (an
// empty text when they differ), and the name of the member that owns them; and how the profiles are
// placed, as the profile-advanced dialog edits it.
#include "platform/mxbase/Mx_String.h"

struct MacroProfData {
    // The rotations of the dialog's radios in their order; Angle takes `angle`.
    enum Rotation : int { Rot0 = 0, Rot90 = 1, Rot180 = 2, Rot270 = 3, RotVaries = 4, RotAngle = 5 };

    Mx_String group;
    Mx_String section;   // system name, "IPE-300"
    Mx_String material;  // "S355"
    Mx_String ownedMemberName;
    // Where the group's profiles lie as the profile page shows it: the offset from the base plane (mm),
    // empty when the macro places them itself. The rotation and the base plane are below.
    Mx_String offset;

    // A profile made of two sections (a morphed profile) has a second section with two group texts.
    bool morphed = false;
    Mx_String section2;
    Mx_String group2Start;
    Mx_String group2End;
    int offsetType = 4;  // the insertion point (getProfOffsetType), centre by default
    bool offsetTypeUndefined = false;
    double offsetX = 0.0;  // mm
    double offsetY = 0.0;
    int rotation = Rot0;
    Mx_String angle = Mx_String(L"0");  // degrees, with RotAngle
    // The base plane's name: "" the world coordinate system, "*VARIES*" undefined, else a plane or a
    // coordinate system of the drawing.
    Mx_String basePlane;
    bool mirrored = false;
    bool onSegment = false;  // placed on one segment of its polyline
    int segment = 0;

    // The rotation as the page's degrees text: "0", "90", "180", "270" for their radios, the angle for
    // RotAngle, "" when it varies; and back (any other text is an angle).
    Mx_String rotationText() const {
        static const wchar_t* const kDegrees[] = {L"0", L"90", L"180", L"270"};
        if (rotation >= Rot0 && rotation <= Rot270)
            return Mx_String(kDegrees[rotation]);
        return rotation == RotAngle ? angle : Mx_String();
    }
    void setRotationText(const Mx_String& text) {
        static const wchar_t* const kDegrees[] = {L"0", L"90", L"180", L"270"};
        for (int i = Rot0; i <= Rot270; ++i) {
            if (text == Mx_String(kDegrees[i])) {
                rotation = i;
                return;
            }
        }
        if (text.isEmpty()) {
            rotation = RotVaries;
        } else {
            rotation = RotAngle;
            angle = text;
        }
    }

    bool operator==(const MacroProfData&) const = default;
};
