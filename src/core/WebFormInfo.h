// The per-document record: the six form properties and the two bookkeeping flags.
#pragma once

#include <QByteArray>

// Property values are kept as the bytes they were read or typed as, so that a Web Form
// File round-trips byte for byte; text typed in the program arrives here as UTF-8.
struct WebFormInfo
{
    bool SlotFree = false;
    bool Changed = false;
    QByteArray OutputFile;
    QByteArray CGIFile;
    bool MethodGet = false;
    QByteArray MediaType;
    QByteArray SubmitText;
    QByteArray ResetText;

    // Sets the six properties to those of a new document.
    void setNewDocumentProperties();
    // Takes the six properties of `other`; the bookkeeping flags stay.
    void setProperties(const WebFormInfo &other);
    // The six properties are those of `other`, byte for byte.
    bool sameProperties(const WebFormInfo &other) const;
};

inline constexpr char DefaultMediaType[] = "application/x-www-form-urlencoded";

inline void WebFormInfo::setNewDocumentProperties()
{
    OutputFile.clear();
    CGIFile.clear();
    MethodGet = false;
    MediaType = DefaultMediaType;
    SubmitText = "Submit";
    ResetText = "Reset";
}

inline void WebFormInfo::setProperties(const WebFormInfo &other)
{
    OutputFile = other.OutputFile;
    CGIFile = other.CGIFile;
    MethodGet = other.MethodGet;
    MediaType = other.MediaType;
    SubmitText = other.SubmitText;
    ResetText = other.ResetText;
}

inline bool WebFormInfo::sameProperties(const WebFormInfo &other) const
{
    return OutputFile == other.OutputFile && CGIFile == other.CGIFile &&
           MethodGet == other.MethodGet && MediaType == other.MediaType &&
           SubmitText == other.SubmitText && ResetText == other.ResetText;
}
