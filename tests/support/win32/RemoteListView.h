// A list view of another process, read and driven through a block of that process's
// memory: its rows' texts, images and cells, and selecting a row as a click does.
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
    // The text of `column` of `row` (column 0: the row's own text).
    std::string cell(int row, int column) const;
    // The rows' own texts.
    std::vector<std::string> texts() const;
    // The row showing `text`, -1 when none does.
    int find(const std::string& text) const;
    int image(int row) const;
    // Selects and focuses `row`, as a click on it does.
    void select(int row) const;

private:
    static constexpr SIZE_T kBlock = 4096;
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
