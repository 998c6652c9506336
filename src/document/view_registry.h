// Rich-text views besides the note (the second note view, the search
// results) are made when first shown; whoever acts on every view (the format
// shortcuts) hears of each as it is made.
#pragma once

namespace quivra::document {

class RichEdit;

class ViewRegistry {
  public:
    virtual void viewMade(RichEdit& view) = 0;

  protected:
    ~ViewRegistry() = default;
};

} // namespace quivra::document
