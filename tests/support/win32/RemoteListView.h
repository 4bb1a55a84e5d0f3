// A list view of another process, read and clicked through a block of that process's
// memory, as a user of the program sees and handles it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace program_driver {

class RemoteListView {
public:
    explicit RemoteListView(HWND list);
    ~RemoteListView();
    RemoteListView(const RemoteListView&) = delete;
    RemoteListView& operator=(const RemoteListView&) = delete;

    int rows() const;
    // The texts of column 0, top to bottom.
    std::vector<std::string> texts() const;
    // The row showing `text` in column 0, -1 when none does.
    int find(const std::string& text) const;
    int image(int row) const;
    // Whether the row's check box shows a tick.
    bool checked(int row) const;
    std::string cell(int row, int column) const;
    // Selects and focuses `row`, as a click on it does.
    void select(int row) const;
    // Double-clicks the text of `row` with the left button; the program handles the
    // clicks in its own time.
    void doubleClick(int row) const;

private:
    struct Row {
        std::string text;
        int image;
    };
    Row fetch(int row, int column) const;

    HWND list_;
    HANDLE process_;
    char* memory_;
};

}  // namespace program_driver
