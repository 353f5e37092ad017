#pragma once
// A document template's strings: one text of newline-separated fields
// (window title, document name, new-file name, filter name, filter
// extensions separated by ';', registry file-type id, registry file-type name).

#include <string>
#include <vector>

class CDocStrings {
public:
    enum Index { windowTitle = 0, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    explicit CDocStrings(const std::string& text = std::string()) : m_text(text) {}

    const std::string& GetText() const { return m_text; }
    // The field, or an empty text when there are fewer fields.
    std::string Get(Index index) const;
    // The extensions of filterExt, each with its leading dot (".zkdr").
    std::vector<std::string> GetExtensions() const;

    // A file-dialog filter line: the filter name and its patterns in
    // parentheses ("KDR Files(*.zkdr) (*.zkdr)"); empty without a filter.
    std::string MakeFilter() const;
    // The title of the n-th new document: the document name and n
    // ("Untitled1"), "Untitled" standing in for a missing name.
    std::string MakeUntitledTitle(int n) const;

private:
    std::string m_text;
};
