#pragma once
#include <string>

namespace quillmap {

// The seventeen texts the program shows to the user, numbered 1 to 17 in this order. The language
// file replaces them by number; every user reads the current value when it shows one. They are
// UTF-8 (the main window decodes the language file's lines into them).
struct MessageTexts {
    static constexpr int Count = 17;

    std::string noItemsToBuild = "No items to build!";                                  // 1
    std::string saveChangesTo = "Save changes to ";                                     // 2
    std::string projectQuestionEnd = " project?";                                       // 3
    std::string newFolder = "New Folder";                                               // 4
    std::string newDocument = "New Document";                                           // 5
    std::string rootFolder = "Root Folder";                                             // 6
    std::string dropOntoItself = "Destination node is the same as the source node";     // 7
    std::string dropRoot = "Can't drag/drop the root";                                  // 8
    std::string dropParentOntoChild = "Can't drop parent onto child";                   // 9
    std::string pleaseSelectFolder = "Please select folder.";                           // 10
    std::string nothingSelected = "Nothing selected";                                   // 11
    std::string removeRootQuestion = "Remove root node? (all tree will be deleted)";    // 12
    std::string noItemsToSave = "No items to save!";                                    // 13
    std::string saveAsHint = "Save as...";                                              // 14
    std::string saveHint = "Save";                                                      // 15
    std::string newerVersion = "Please donwload the latest version of Quillmap to open this file.";  // 16
    std::string notProjectFile = "This isn't Quillmap Project File";                    // 17

    // Text number 1 to 17; throws std::out_of_range for any other number.
    std::string& byNumber(int number);
    const std::string& byNumber(int number) const;
};

}  // namespace quillmap
