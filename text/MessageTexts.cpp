#include "text/MessageTexts.h"

#include <stdexcept>

namespace quillmap {

std::string& MessageTexts::byNumber(int number)
{
    std::string* texts[Count] = {&noItemsToBuild,     &saveChangesTo,  &projectQuestionEnd, &newFolder,
                                 &newDocument,        &rootFolder,     &dropOntoItself,     &dropRoot,
                                 &dropParentOntoChild, &pleaseSelectFolder, &nothingSelected, &removeRootQuestion,
                                 &noItemsToSave,      &saveAsHint,     &saveHint,           &newerVersion,
                                 &notProjectFile};
    if (number < 1 || number > Count) throw std::out_of_range("message text " + std::to_string(number));
    return *texts[number - 1];
}

const std::string& MessageTexts::byNumber(int number) const
{
    return const_cast<MessageTexts*>(this)->byNumber(number);
}

}  // namespace quillmap
