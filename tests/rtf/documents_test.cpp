// Small documents shaped like those common word processors write.

#include "rtf/rtf_parser.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace quorvel::rtf;

namespace {

TEST(RtfDocuments, WordProcessorHeaderWithStylesListsAndInfo) {
    const std::string doc =
        R"({\rtf1\adeflang1025\ansi\ansicpg1252\uc1\adeff31507\deff0\stshfdbch31505\deflang1033\deflangfe1033
{\fonttbl{\f0\fbidi \froman\fcharset0\fprq2{\*\panose 02020603050405020304}Times New Roman;}
{\f37\fbidi \fswiss\fcharset0\fprq2{\*\panose 020f0502020204030204}Calibri;}
{\f38\fbidi \fswiss\fcharset238\fprq2 Calibri CE;}}
{\colortbl;\red0\green0\blue0;\red0\green0\blue255;\red5\green99\blue193;}
{\*\defchp \f31506\fs22 }{\*\defpap \ql \li0\ri0\sa160\sl259\slmult1 }
{\stylesheet{\ql \li0\ri0\sa160\sl259\slmult1\widctlpar\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 \rtlch\fcs1 \af31507\afs22\alang1025 \ltrch\fcs0 \f31506\fs22\lang1033\langfe1033\cgrid\langnp1033\langfenp1033 \snext0 \sqformat \spriority0 Normal;}
{\s1\ql \li0\ri0\sb240\keepn\outlinelevel0 \b\fs32\cf2 \sbasedon0 \snext0 \slink15 \sqformat \spriority9 heading 1;}
{\*\cs10 \additive \ssemihidden \sunhideused \spriority1 Default Paragraph Font;}
{\*\cs15 \additive \rtlch\fcs1 \af0\afs32 \ltrch\fcs0 \fs32\cf2 \sbasedon10 \slink1 \slocked \spriority9 Heading 1 Char;}}
{\*\listtable{\list\listtemplateid-1{\listlevel\levelnfc23\levelnfcn23\leveljc0\leveljcn0\levelfollow0\levelstartat1\levelspace0\levelindent0{\leveltext\leveltemplateid67698689\'01\u-3913 ?;}{\levelnumbers;}\f3\fbias0 \fi-360\li720\lin720 }{\listname ;}\listid1}}
{\*\listoverridetable{\listoverride\listid1\listoverridecount0\ls1}}
{\*\rsidtbl \rsid1 \rsid2}{\mmathPr\mmathFont34\mbrkBin0}
{\info{\title Quarterly notes}{\author J\'f6rg M\'fcller}{\creatim\yr2026\mo12\dy11\hr11\min35}}
{\*\xmlnstbl {\xmlns1 http://schemas.microsoft.com/office/word/2003/wordml}}
\paperw12240\paperh15840\margl1440\margr1440\margt1440\margb1440\gutter0\ltrsect
\widowctrl\ftnbj\aenddoc\trackmoves0\trackformatting1\donotembedsysfont1\formshade
{\*\themedata 504b030414000600080000002100e9de0fbfff0000001c020000130000005b436f6e74656e74}
{\*\colorschememapping 3c3f786d6c2076657273696f6e3d22312e30}
\sectd \ltrsect\linex0\endnhere\sectlinegrid360\sectdefaultcl\sftnbj
{\*\pnseclvl1\pnucrm\pnstart1\pnindent720\pnhang {\pntxta .}}
\pard\plain \ltrpar\s1\ql \li0\ri0\sb240\keepn\outlinelevel0 \rtlch\fcs1 \af0\afs32 \ltrch\fcs0 \b\fs32\cf2\lang1033 {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 Quarterly notes}{\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \par }
\pard\plain \ltrpar\ql \li0\ri0\sa160 \f31506\fs22\lang1033 {\rtlch\fcs1 \af31507 \ltrch\fcs0 \insrsid1 The caf\'e9 on the corner charges 3\'a0\u8364\'80 for an espresso {\*\bkmkstart _Hlk1}\'96 \ldblquote cheap\rdblquote  they say.}{\*\bkmkend _Hlk1}
\par {\listtext\pard\plain\ltrpar \f3\fs22 \loch\af3\hich\af3\dbch\af31505\insrsid1 \loch\af3\hich\af3\dbch\af31505\insrsid1 \'b7\tab}\pard\plain \ls1 First item\par
{\*\themedata 0102}{\*\datastore 0105000002000000}}
)";
    EXPECT_EQ(RtfToText(doc), "Quarterly notes\r"
                              "The caf\u00E9 on the corner charges 3\u00A0\u20AC for an espresso "
                              "\u2013 \u201Ccheap\u201D they say.\r"
                              "\u00B7 First item\r");
}

TEST(RtfDocuments, HyperlinkFieldKeepsItsVisibleText) {
    const std::string doc =
        "{\\rtf1\\ansi\\ansicpg1252\\cocoartf2709\n"
        "{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;}\n"
        "{\\colortbl;\\red255\\green255\\blue255;\\red0\\green0\\blue233;}\n"
        "\\pard\\tx566\\pardirnatural\\partightenfactor0\n"
        "\\f0\\fs24 \\cf0 Visit {\\field{\\*\\fldinst{HYPERLINK \"https://example.org/\"}}"
        "{\\fldrslt \\cf2 \\ul \\ulc2 our site}} today, page {\\field{\\*\\fldinst PAGE "
        "\\\\* MERGEFORMAT}{\\fldrslt 2}}.}";
    EXPECT_EQ(RtfToText(doc), "Visit our site today, page 2.");
}

TEST(RtfDocuments, CyrillicDocumentThroughFontCharacterSets) {
    // Written with Windows Latin-1 as the document code page: the text relies on its font's
    // character set.
    const std::string doc = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1049"
                            "{\\fonttbl{\\f0\\fnil\\fcharset204 Calibri;}"
                            "{\\f1\\fnil\\fcharset0 Calibri;}}\n"
                            "\\viewkind4\\uc1\\pard\\sa200\\sl276\\slmult1\\lang1049\\f0\\fs22 "
                            "\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2, \\'ec\\'e8\\'f0!\\par\n"
                            "\\lang1033\\f1 Hello, \\f0\\'d1\\'e5\\'f0\\'e3\\'e5\\'e9\\par\n}";
    EXPECT_EQ(RtfToText(doc), "\u041F\u0440\u0438\u0432\u0435\u0442, \u043C\u0438\u0440!\r"
                              "Hello, \u0421\u0435\u0440\u0433\u0435\u0439\r");
}

TEST(RtfDocuments, JapaneseShiftJisDocument) {
    const std::string doc =
        "{\\rtf1\\ansi\\ansicpg932\\deff0\\nouicompat\\deflang1033\\deflangfe1041"
        "{\\fonttbl{\\f0\\fnil\\fcharset128 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}"
        "{\\f1\\fnil\\fcharset0 Calibri;}}\n"
        "\\uc1\\pard\\sa200\\f0\\fs22\\lang1041 \\'93\\'fa\\'96\\'7b\\'8c\\'ea\\'82\\'cc"
        "\\'95\\'b6\\'8f\\'cd\\'81\\'42\\f1\\lang1033  ABC \\f0\\lang1041\\'83\\'5c\\'83\\'74"
        "\\'83\\'67\\par\n"
        "{\\uc2\\u12354\\'82\\'a0}\\par\n}";
    // 日本語の文章。 ABC ソフト / あ
    EXPECT_EQ(RtfToText(doc), "\u65E5\u672C\u8A9E\u306E\u6587\u7AE0\u3002 ABC "
                              "\u30BD\u30D5\u30C8\r\u3042\r");
}

TEST(RtfDocuments, EmojiAsSurrogatePair) {
    // Word writes negative numbers with hex substitutes; other writers positive ones with "?".
    EXPECT_EQ(RtfToText("{\\rtf1\\ansi\\ansicpg1252\\uc1 Key \\u-10179\\'3f\\u-8943\\'3f "
                        "and smile \\u55357?\\u56832?\\par}"),
              "Key \U0001F511 and smile \U0001F600\r");
}

} // namespace
