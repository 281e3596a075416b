// CBitmapButton: an owner-drawn button that draws itself from images (its derived classes
// bring the images and the drawing).
#pragma once
#include "framework/button.h"

class CBitmapButton : public CButton {};
