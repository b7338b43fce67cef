#pragma once
#include <memory>
#include <string>
#include <vector>

namespace halvane {

// The desktop's shared icons for files, by system index (the "system image list").
class ISystemIcons {
 public:
  virtual ~ISystemIcons() = default;
  // System index of the icon the desktop gives this file, or -1. Cheap: it runs while rows paint.
  virtual int SystemIconIndex(const std::string& path) = 0;
};

// The images a TImageListEx owns, held by the front end (pixmaps, icon handles...).
class IImageStore {
 public:
  virtual ~IImageStore() = default;
  virtual int ImageCount() const = 0;
  // Appends the system icon at `systemIndex` from the small or the large system list; the new
  // image's index, or -1 when the icon cannot be fetched or added.
  virtual int AddSystemIcon(int systemIndex, bool smallSystemList) = 0;
};

// An image list of fixed size filled on demand with icons copied out of the system list,
// each distinct system icon copied once.
class TImageListEx {
 public:
  TImageListEx(ISystemIcons& systemIcons, IImageStore& images)
      : systemIcons_(systemIcons), images_(images) {}

  int IconIndexForFile(const std::string& path);
  int IndexOfSystemIcon(int systemIndex);
  int CopySystemIcon(int systemIndex);
  void EnsureSystemList();
  // Called when the list was read from a stored layout: those images precede the copied ones.
  void Loaded();

  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetWidth(int width) { width_ = width; }
  void SetHeight(int height) { height_ = height; }
  bool UsesSmallSystemList() const { return smallSystemList_; }
  int LoadedCount() const { return FLoadedCount; }
  bool HasSystemList() const { return FSystemList; }
  // The system indexes copied so far, in copy order; null until the system list is attached.
  const std::vector<int>* SystemIndexes() const { return FSystemIndexes.get(); }

 private:
  ISystemIcons& systemIcons_;
  IImageStore& images_;
  int width_ = 16;
  int height_ = 16;
  int FLoadedCount = 0;
  bool FSystemList = false;  // attached to the shared system list
  bool smallSystemList_ = true;
  std::unique_ptr<std::vector<int>> FSystemIndexes;
};

}  // namespace halvane
