#include "platform/doc_types.hpp"

#include <algorithm>

namespace quorvel::platform {

namespace {

std::vector<std::string_view> split(std::string_view s, char sep) {
    std::vector<std::string_view> out;
    size_t start = 0;
    while (start <= s.size()) {
        size_t end = s.find(sep, start);
        if (end == std::string_view::npos) {
            end = s.size();
        }
        if (end > start) {
            out.push_back(s.substr(start, end - start));
        }
        start = end + 1;
    }
    return out;
}

} // namespace

const std::vector<DocumentType>& documentTypes() {
    static const std::vector<DocumentType> types = {
        {"text/plain", "????", "TEXT",
         ".asc;.ascii;.bas;.c;.class;.cp;.cpp;.h;.hp;.hpp;.i3;.java;.m2;.m3;.mak;.text;.txt"},
        {"application/rtf", "MSWD", "TEXT", ".rtf"},
        {"text/html", "????", "TEXT", ".htm;.html;.html"},
        {"text/richtext", "text", "TEXT", ".rtx"},
        {"application/zip", "SITx", "ZIP ", ".zip"},
        {"application/quorvelProAcc", "????", "QRV", ".acc"},
        {"application/QuorvelProEnc", "????", "QRV", ".enc"},
    };
    return types;
}

std::vector<FileFilter> filtersFor(std::string_view typeNames) {
    std::vector<FileFilter> filters;
    for (std::string_view name : split(typeNames, ';')) {
        auto it = std::find_if(documentTypes().begin(), documentTypes().end(),
                               [&](const DocumentType& t) { return t.name == name; });
        if (it == documentTypes().end()) {
            continue;
        }
        FileFilter filter{std::string(it->name), {}};
        for (std::string_view ext : split(it->extensions, ';')) {
            if (!ext.empty() && ext.front() == '.') {
                ext.remove_prefix(1);
            }
            std::string e(ext);
            if (std::find(filter.extensions.begin(), filter.extensions.end(), e) ==
                filter.extensions.end()) {
                filter.extensions.push_back(e);
            }
        }
        filters.push_back(std::move(filter));
    }
    return filters;
}

std::string filterText(const FileFilter& filter) {
    std::string out = filter.name + " (";
    for (size_t i = 0; i < filter.extensions.size(); ++i) {
        out += (i ? " *." : "*.") + filter.extensions[i];
    }
    return out + ")";
}

} // namespace quorvel::platform
