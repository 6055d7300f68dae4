// The painting styles of the design grid: one style per look of a cell,
// kept in a collection that a grid owns or shares through TcrPaintSettings.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/Font.h"

enum class TcrSmallTextPlacing { stpTopLeft, stpTopRight, stpBottomLeft, stpBottomRight };

class TcrPaintingStyles;
class TCrDesignGrid;

class TcrPaintingStyle {
public:
  const TFont& BigFont() const { return bigFont_; }
  void SetBigFont(const TFont& v) { Change(bigFont_, v); }
  const TFont& SmallFont() const { return smallFont_; }
  void SetSmallFont(const TFont& v) { Change(smallFont_, v); }
  int SmallTextX() const { return smallTextX_; }
  void SetSmallTextX(int v) { Change(smallTextX_, v < 0 ? 0 : v); }
  int SmallTextY() const { return smallTextY_; }
  void SetSmallTextY(int v) { Change(smallTextY_, v < 0 ? 0 : v); }
  TcrSmallTextPlacing SmallTextPlacing() const { return placing_; }
  void SetSmallTextPlacing(TcrSmallTextPlacing v) { Change(placing_, v); }
  TColor HighlightColor() const { return highlight_; }
  void SetHighlightColor(TColor v) { Change(highlight_, v); }
  TColor ShadowColor() const { return shadow_; }
  void SetShadowColor(TColor v) { Change(shadow_, v); }
  TColor FaceColor() const { return face_; }
  void SetFaceColor(TColor v) { Change(face_, v); }
  bool Beveled() const { return beveled_; }
  void SetBeveled(bool v) { Change(beveled_, v); }
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int v) { Change(borderWidth_, v); }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& v) { Change(name_, v); }

  int Index() const;
  std::string DisplayName() const;
  // Copies every property; one change is reported.
  void Assign(const TcrPaintingStyle& other);
  // Batches changes: one is reported when the count returns to 0.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();

private:
  friend class TcrPaintingStyles;
  explicit TcrPaintingStyle(TcrPaintingStyles* owner) : owner_(owner) {}
  template <class T>
  void Change(T& field, const T& v) {
    if (field == v) return;
    field = v;
    Changed();
  }
  void Changed();
  void CopyLook(const TcrPaintingStyle& other);

  TcrPaintingStyles* owner_;
  TFont bigFont_, smallFont_;
  int smallTextX_ = 1, smallTextY_ = 1;
  TcrSmallTextPlacing placing_ = TcrSmallTextPlacing::stpTopLeft;
  TColor highlight_ = clBlack, shadow_ = clBlack, face_ = clBlack;
  bool beveled_ = false;
  int borderWidth_ = 1;
  std::string name_;
  int updateCount_ = 0;
};

class TcrPaintingStyles {
public:
  // Called with the style that changed, or null when the whole collection did.
  using ChangeHandler = std::function<void(TcrPaintingStyle*)>;
  explicit TcrPaintingStyles(ChangeHandler onChange = {});
  TcrPaintingStyles(const TcrPaintingStyles&) = delete;
  TcrPaintingStyles& operator=(const TcrPaintingStyles&) = delete;

  // Never empty when read: an empty collection gets the default style.
  int Count();
  TcrPaintingStyle& Items(int index);
  // Item 0 for an index below 0 or past the end.
  TcrPaintingStyle& Style(int index);
  TcrPaintingStyle& DefaultStyle() { return Items(0); }
  void SetDefaultStyle(const TcrPaintingStyle& style) { Items(0).Assign(style); }
  // A new item past index 0 starts as a copy of item 0 without its name.
  TcrPaintingStyle& Add();
  void Delete(int index);
  void Clear();
  void Assign(TcrPaintingStyles& other);
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();

private:
  friend class TcrPaintingStyle;
  void EnsureDefault();
  void ItemChanged(TcrPaintingStyle* item);
  ChangeHandler onChange_;
  std::vector<std::unique_ptr<TcrPaintingStyle>> items_;
  int updateCount_ = 0;
};

// Styles shared by several grids: a linked grid paints with these instead
// of its own.
class TcrPaintSettings {
public:
  TcrPaintSettings();
  ~TcrPaintSettings();
  TcrPaintSettings(const TcrPaintSettings&) = delete;
  TcrPaintSettings& operator=(const TcrPaintSettings&) = delete;
  TcrPaintingStyles& StylesCollection() { return styles_; }

private:
  friend class TCrDesignGrid;
  TcrPaintingStyles styles_;
  std::vector<TCrDesignGrid*> grids_;
};
