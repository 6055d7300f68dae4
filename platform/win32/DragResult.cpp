#include "platform/win32/DragResult.h"

#include <ole2.h>

TDragResult MapDragResult(HRESULT hr, DWORD finalEffect, DWORD allowedEffects,
                          LONG performedEffect, DWORD logicalPerformedEffect) {
  if (hr == E_OUTOFMEMORY) return TDragResult::drOutMemory;
  if (hr == DRAGDROP_S_CANCEL) return TDragResult::drCancel;
  if (hr != DRAGDROP_S_DROP) return TDragResult::drUnknown;
  if (logicalPerformedEffect == DROPEFFECT_MOVE ||
      (performedEffect == static_cast<LONG>(DROPEFFECT_MOVE) && finalEffect != DROPEFFECT_MOVE))
    return TDragResult::drDropMove;
  switch (finalEffect & allowedEffects) {
    case DROPEFFECT_COPY: return TDragResult::drDropCopy;
    case DROPEFFECT_MOVE: return TDragResult::drDropMove;
    case DROPEFFECT_LINK: return TDragResult::drDropLink;
    case DROPEFFECT_NONE: return TDragResult::drCancel;
    default: return TDragResult::drUnknown;
  }
}
