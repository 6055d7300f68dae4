// How an OLE drag ended, as the drag source reports it to its owner.
#pragma once

#include <windows.h>

enum class TDragResult { drDropCopy, drDropMove, drDropLink, drCancel, drOutMemory, drUnknown };

// The outcome of DoDragDrop (`hr`, `finalEffect`) read together with what the
// target told the data object: a target that moved the file itself (an
// optimised move) reports move through the performed or logical performed
// effect while the final effect says otherwise. `performedEffect` is -1
// when the target reported none.
TDragResult MapDragResult(HRESULT hr, DWORD finalEffect, DWORD allowedEffects,
                          LONG performedEffect, DWORD logicalPerformedEffect);
