#include "skin/frame/win/SkinObjects.h"

bool TsfActiveSkinObject::InMask(Integer, Integer) { return true; }

void TsfActiveSkinObject::Draw(TCanvas*, bool) {}

void TsfActiveSkinObject::MouseDown(Integer, Integer, TMouseButton) {}

void TsfActiveSkinObject::MouseUp(Integer, Integer, TMouseButton) {}

void TsfActiveSkinObject::MouseMove(Integer, Integer) {}

void TsfActiveSkinObject::MouseEnter() { Active = true; }

void TsfActiveSkinObject::MouseLeave() { Active = false; }
