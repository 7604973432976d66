#pragma once
// The RTF control words the reader acts on. Every other word is ignored (or,
// after \*, skipped with its group). lookupWord() is a binary search in a
// sorted table, checked for order at compile time.

#include <QtGlobal>

#include <string_view>

namespace kelmora::formats {

enum class Kw : quint16 {
    Unknown,
    // Document
    Rtf, Ansi, Mac, Pc, Pca, Ansicpg, Deff, Uc, U, Upr, Ud, Fromhtml, Htmlrtf,
    // Content destinations
    Fonttbl, Colortbl, Listtable, Listoverridetable, List, Listlevel, Listoverride, Pict,
    Field, Fldinst, Fldrslt, Object, Result, Shp, Shprslt, Shppict, Pn, Nesttableprops,
    // Destinations skipped, unless RtfDestinations.cpp gives them a reader
    // (\info, \stylesheet, headers, footers and notes have one)
    Info, Stylesheet, Header, Headerl, Headerr, Headerf, Footer, Footerl, Footerr, Footerf,
    Footnote, Annotation, Atnid, Atnauthor, Atndate, Atnicn, Atnref, Atntime, Xe, Tc, Txe, Rxe,
    Pntext, Listtext, Pntxta, Pntxtb, Nonshppict, Nonesttables, Ftnsep, Ftnsepc,
    Aftnsep, Aftnsepc, Ftncn, Aftncn, Template, Revtbl, Author, Operator, Title, Subject,
    Keywords, Doccomm, Comment, Company, Category, Manager, Hlinkbase, Buptim, Creatim, Revtim,
    Printim, Private, Leveltext, Levelnumbers, Listname, Lfolevel, Listpicture, Objdata,
    Objclass, Objname, Falt, Panose, Fname, Filetbl, Do, Background, Pnseclvl, Bkmkstart,
    Bkmkend, Datafield, Docvar, Shpinst, Shptxt, Themedata, Colorschememapping,
    Datastore, Latentstyles, Generator, Xmlnstbl, Rsidtbl, Pgdsctbl, Userprops,
    // Character formatting. \csN is the run's character style; being known
    // it also keeps the text of a {\*\csN ...} group.
    Cs, Plain, B, I, Ul, Ulnone, Uld, Uldash, Uldashd, Uldashdd, Uldb, Ulhwave, Ulldash, Ulth,
    Ulthd, Ulthdash, Ulthdashd, Ulthdashdd, Ulthldash, Ululdbwave, Ulw, Ulwave, Strike,
    Striked, Fs, F, Cf, Highlight, Cb, Chcbpat, Super, Sub, Nosupersub,
    Loch, Hich, Dbch, Rtlch, Ltrch, Af, Afs,
    // Paragraph formatting; \dsN and \tsN name section and table styles
    // (known, so that {\*\tsN ...} entries of a style sheet are read).
    S, Ds, Ts, Pard, Par, Ql, Qc, Qr, Qj, Qd, Fi, Li, Ri, Lin, Rin, Intbl, Cell, Nestcell, Row, Nestrow,
    Ls, Ilvl, Pnlvlblt, Pnlvlbody, Pnlvlcont, Pnlvl, Itap,
    // Table rows and their cells
    Trowd, Cellx, Trgaph, Trpaddl, Trleft, Trql, Trqc, Trqr, Clmgf, Clmrg, Clvmgf, Clvmrg, Clvertalt,
    Clvertalc, Clvertalb, Clcbpat, Clcfpat, Clshdng, Clbrdrt, Clbrdrl, Clbrdrb, Clbrdrr, Trbrdrt,
    Trbrdrl, Trbrdrb, Trbrdrr, Trbrdrh, Trbrdrv, Brdrt, Brdrl, Brdrb, Brdrr, Brdrbtw, Brdrbar, Box,
    Brdrs, Brdrth, Brdrsh, Brdrdb, Brdrdot, Brdrdash, Brdrhair, Brdrnone, Brdrnil, Brdrtbl, Brdrw,
    Brdrcf,
    // Special characters
    Line, Tab, Page, Sect, Column, Bullet, Endash, Emdash, Lquote, Rquote, Ldblquote,
    Rdblquote, Emspace, Enspace, Qmspace, Zwj, Zwnj, Ltrmark, Rtlmark, Zwbo, Zwnbo,
    // Tables of the header
    Fcharset, Cpg, Red, Green, Blue, Listid, Levelnfc, Levelnfcn,
    // Pictures: their kinds, then their sizes and cropping
    Pngblip, Jpegblip, Emfblip, Wmetafile, Macpict, Pmmetafile, Dibitmap, Wbitmap,
    Picw, Pich, Picwgoal, Pichgoal, Picscalex, Picscaley, Piccropl, Piccropr, Piccropt, Piccropb, Bin,
    Count // not a word: the number of values above
};

Kw lookupWord(std::string_view word);

// Destinations whose content is not part of the shown text.
constexpr bool isSkippedDestination(Kw k)
{
    return k >= Kw::Info && k <= Kw::Userprops;
}

// \ul and its dotted, dashed, double, thick, wavy and word-only variants.
constexpr bool isUnderlineOn(Kw k)
{
    return k == Kw::Ul || (k >= Kw::Uld && k <= Kw::Ulwave);
}

} // namespace kelmora::formats
