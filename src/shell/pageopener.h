#pragma once

#include <utility>

// Opens a page through its static instance pointer: constructs it without a
// parent only while the pointer is null, stores and shows it; an open page is
// raised instead. The page's destructor clears the pointer. Returns the page.
//
//     openPage(Home::instHome);
//     openPage(LoadFilament::instLoadFilament, false);
template <class Page, class... Args>
Page *openPage(Page *&instance, Args &&...args)
{
    if (instance) {
        instance->raise();
        return instance;
    }
    instance = new Page(std::forward<Args>(args)...);
    instance->show();
    return instance;
}
