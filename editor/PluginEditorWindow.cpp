#include "editor/PluginEditorWindow.h"

#include "resources/Resources.h"

int selectedRow = 0;

TPluginEditorWindow::TPluginEditorWindow(TextRenderer& text, TimerClock& clock, APlugin& plugin,
                                         Scale scale)
    : TForm(text, clock, kClientWidth, kClientHeight, scale), plugin(plugin), updater(&clock) {
  // The timer runs only once the bridge has opened the window.
  updater.SetEnabled(false);
  updater.SetInterval(100);
  BeginLoading();
  CreateComponents();
  EndLoading();
  BindEvents();
}

void TPluginEditorWindow::ApplyScale(Scale scale) {
  if (scale == DrawScale()) return;
  SetScale(scale);
  LoadImages();
}

void TPluginEditorWindow::LoadImages() {
  const int percent = DrawScale().Percent();
  for (int i = 0; i < skinImageCount; ++i) {
    TDIBImageList::Source image = [i, percent] { return SurfaceFromBitmap(skinImage(i, percent)); };
    if (i < DIBImageList1.Count())
      DIBImageList1.Replace(i, std::move(image));
    else
      DIBImageList1.Add(std::move(image));
  }
  if (AboutGraphicBox)
    AboutGraphicBox->SetPicture([percent] { return SurfaceFromBitmap(aboutPicture(percent)); });
}

TPluginEditorWindow::~TPluginEditorWindow() {
  // The components go first: they still refer to the image list.
  DestroyChildren();
}
