// The preferences module: keeps the panel's position between runs in "ambrel.txt".
#pragma once

#include <cstdint>
#include <vector>

#include "framework/Files.h"
#include "framework/Object.h"
#include "framework/String.h"

namespace ambrel {

// One directive line of the file: "#", its name, a blank, its text.
class directiveClass : public fw::Registered<directiveClass, fw::Object> {
  public:
    static fw::ClassRecord describe();

    fw::String name; // in lower case
    fw::String text; // the rest of the line after the first blank
};

namespace prefModule {

inline int32_t Window1Top = 0;
inline int32_t Window1Left = 0;

// Slot 0 exists and stays empty; directives are appended from index 1, in file order.
class DirectiveList : public fw::Registered<DirectiveList, fw::Object> {
  public:
    static fw::ClassRecord describe();
    DirectiveList() : entries_(1) {}

    int32_t Ubound() const { return static_cast<int32_t>(entries_.size()) - 1; }
    void Append(fw::Ref<directiveClass> entry) { entries_.push_back(std::move(entry)); }
    fw::Ref<directiveClass> operator[](int32_t index) const {
        return entries_.at(static_cast<std::size_t>(index));
    }

  private:
    std::vector<fw::Ref<directiveClass>> entries_;
};

inline fw::Ref<DirectiveList> gDirectives;

// Created at start-up right after directiveClass's record; dropped by the module exit list.
void createDirectiveList();
void releaseDirectiveList();

void loadPrefs();
void savePrefs();
bool extractDirectives(const fw::Ref<fw::FolderItem>& f);

} // namespace prefModule
} // namespace ambrel
