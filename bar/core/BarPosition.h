#pragma once
// The bar's positions. The docked codes equal the shell's edge codes
// (ABE_TOP = 1, ABE_BOTTOM = 3) and are passed to the shell unchanged.
enum TBarPosition : int { bpNone = 0, bpTop = 1, bpFloating = 2, bpBottom = 3, bpMinimised = 4 };
