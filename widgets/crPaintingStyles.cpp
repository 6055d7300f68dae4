#include "widgets/crPaintingStyles.h"

#include <algorithm>

#include "widgets/crDesign.h"

int TcrPaintingStyle::Index() const {
  auto& items = owner_->items_;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].get() == this) return static_cast<int>(i);
  return -1;
}

std::string TcrPaintingStyle::DisplayName() const {
  if (!name_.empty()) return name_;
  const int i = Index();
  return i == 0 ? "Default (0th) style" : "Style no." + std::to_string(i);
}

void TcrPaintingStyle::CopyLook(const TcrPaintingStyle& o) {
  bigFont_ = o.bigFont_;
  smallFont_ = o.smallFont_;
  smallTextX_ = o.smallTextX_;
  smallTextY_ = o.smallTextY_;
  placing_ = o.placing_;
  highlight_ = o.highlight_;
  shadow_ = o.shadow_;
  face_ = o.face_;
  beveled_ = o.beveled_;
  borderWidth_ = o.borderWidth_;
}

void TcrPaintingStyle::Assign(const TcrPaintingStyle& other) {
  if (&other == this) return;
  CopyLook(other);
  name_ = other.name_;
  Changed();
}

void TcrPaintingStyle::EndUpdate() {
  if (--updateCount_ == 0) Changed();
}

void TcrPaintingStyle::Changed() {
  if (updateCount_ == 0) owner_->ItemChanged(this);
}

TcrPaintingStyles::TcrPaintingStyles(ChangeHandler onChange) : onChange_(std::move(onChange)) {}

void TcrPaintingStyles::EnsureDefault() {
  if (!items_.empty()) return;
  auto style = std::unique_ptr<TcrPaintingStyle>(new TcrPaintingStyle(this));
  style->beveled_ = true;
  style->bigFont_ = TFont{"MS Sans Serif", TFont::HeightForSize(12), clWindowText, false};
  style->smallFont_ = TFont{"Verdana", TFont::HeightForSize(8), clWindowText, false};
  style->face_ = clBtnFace;
  style->highlight_ = clBtnHighlight;
  style->shadow_ = clBtnShadow;
  style->smallTextX_ = 2;
  style->smallTextY_ = 1;
  items_.push_back(std::move(style));
}

int TcrPaintingStyles::Count() {
  EnsureDefault();
  return static_cast<int>(items_.size());
}

TcrPaintingStyle& TcrPaintingStyles::Items(int index) {
  EnsureDefault();
  return *items_.at(index);
}

TcrPaintingStyle& TcrPaintingStyles::Style(int index) {
  EnsureDefault();
  return index < 0 || index >= static_cast<int>(items_.size()) ? *items_[0] : *items_[index];
}

TcrPaintingStyle& TcrPaintingStyles::Add() {
  EnsureDefault();
  auto style = std::unique_ptr<TcrPaintingStyle>(new TcrPaintingStyle(this));
  style->CopyLook(*items_[0]);
  items_.push_back(std::move(style));
  ItemChanged(nullptr);
  return *items_.back();
}

void TcrPaintingStyles::Delete(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  items_.erase(items_.begin() + index);
  ItemChanged(nullptr);
}

void TcrPaintingStyles::Clear() {
  items_.clear();
  ItemChanged(nullptr);
}

void TcrPaintingStyles::Assign(TcrPaintingStyles& other) {
  if (&other == this) return;
  BeginUpdate();
  items_.clear();
  for (int i = 0; i < other.Count(); ++i) {
    auto style = std::unique_ptr<TcrPaintingStyle>(new TcrPaintingStyle(this));
    style->CopyLook(other.Items(i));
    style->name_ = other.Items(i).name_;
    items_.push_back(std::move(style));
  }
  EndUpdate();
}

void TcrPaintingStyles::EndUpdate() {
  if (--updateCount_ == 0) ItemChanged(nullptr);
}

void TcrPaintingStyles::ItemChanged(TcrPaintingStyle* item) {
  if (updateCount_ == 0 && onChange_) onChange_(item);
}

TcrPaintSettings::TcrPaintSettings()
    : styles_([this](TcrPaintingStyle* s) {
        for (TCrDesignGrid* g : grids_) g->StylesChanged(s);
      }) {}

TcrPaintSettings::~TcrPaintSettings() {
  // Copy: each grid unlinks itself from the list while we walk it.
  for (TCrDesignGrid* g : std::vector<TCrDesignGrid*>(grids_)) g->SetPaintSettings(nullptr);
}
