"""Fonts and border sets as one line of text each, in the form the C++ side writes them
(style_lines.h), so the style peer tests compare lines. Imported by the peer scripts and prefixed
to the inline ones."""


def rgb(color):
    return color.rgb[-6:] if color is not None and color.type == 'rgb' else '-'


def font_line(f):
    return '|'.join(str(x) for x in ['font', f.name, int(f.sz) if f.sz is not None else '-',
        int(bool(f.b)), int(bool(f.i)), int(bool(f.strike)), f.u or 'none',
        # "baseline" reads as not set on our side: both write no vertAlign.
        f.vertAlign if f.vertAlign not in (None, 'baseline') else 'none', rgb(f.color)])


def side(s):
    # The colour of a line without style is not compared.
    if s is None or s.style in (None, 'none'):
        return 'none:-'
    return s.style + ':' + rgb(s.color)


def border_line(b):
    return '|'.join(['border', side(b.left), side(b.right), side(b.top), side(b.bottom),
        side(b.diagonal), str(int(bool(b.diagonalUp))), str(int(bool(b.diagonalDown)))])
