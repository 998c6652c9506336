#!/usr/bin/perl
# Checks the format of words in an HTML page: whether each is bold and which
# text colour it has, as the nesting of the page's elements gives them.
#   html_word_formats.pl PAGE.html WORDS
# WORDS has one word a line: word TAB bold|plain TAB #rrggbb|auto, where auto
# accepts no colour or black. Prints each word that is missing or formatted
# otherwise, with the page's text around it, and exits 1 then.
use strict;
use warnings;

my ($page, $words) = @ARGV;
die "usage: $0 PAGE.html WORDS\n" unless defined $words;

sub slurp {
    my ($file) = @_;
    open my $fh, '<:raw', $file or die "$file: $!\n";
    local $/;
    return scalar <$fh>;
}

my $html = slurp($page);
$html =~ s/<!--.*?-->//gs;
$html =~ s/\A.*?<body\b[^>]*>//si;    # only the body holds the note's text

my %void = map { $_ => 1 } qw(br hr img meta link input col area base wbr);
my %entity = (amp => '&', lt => '<', gt => '>', quot => '"', apos => "'", nbsp => ' ');

# The UTF-8 bytes an entity stands for; unknown ones stay as they are.
sub entity {
    my ($e) = @_;
    my $char = $e =~ /\A#x(.+)/i ? chr(hex $1) : $e =~ /\A#(.+)/ ? chr($1) : $entity{lc $e};
    return "&$e;" unless defined $char;
    utf8::encode($char);
    return $char;
}

# The page's text with whitespace runs as one space, and per byte of it the
# bold flag and the colour of the innermost element that set them.
my @stack = ({ name => 'body', bold => 0, colour => 'auto' });
my ($text, @bold, @colour) = ('');
for my $token (split /(<[^>]*>)/, $html) {
    next if $token eq '';
    if ($token =~ m{\A</\s*([a-z0-9]+)}i) {
        my $name = lc $1;
        if (grep { $_->{name} eq $name } @stack[1 .. $#stack]) {
            my $top;
            do { $top = pop @stack } until $top->{name} eq $name;
        }
    } elsif ($token =~ m{\A<\s*([a-z0-9]+)(.*?)(/?)>\z}si) {
        my ($name, $attrs, $closed) = (lc $1, $2, $3);
        next if $void{$name} || $closed;
        my %frame = (%{ $stack[-1] }, name => $name);
        $frame{bold} = 1 if $name eq 'b' || $name eq 'strong';
        my ($style) = $attrs =~ /\bstyle\s*=\s*"([^"]*)"/i;
        $style //= '';
        $frame{bold} = 1 if $style =~ /font-weight\s*:\s*(bold|[6-9]00)/i;
        $frame{bold} = 0 if $style =~ /font-weight\s*:\s*(normal|[1-5]00)/i;
        $frame{colour} = lc $1 if $attrs =~ /\bcolor\s*=\s*"?(#[0-9a-f]{6})/i;
        $frame{colour} = lc $1 if $style =~ /(?<![-\w])color\s*:\s*(#[0-9a-f]{6})/i;
        push @stack, \%frame;
    } elsif ($token !~ /\A</) {
        $token =~ s/&(#x[0-9a-f]+|#[0-9]+|[a-z]+);/entity($1)/gie;
        for my $byte (split //, $token) {
            if ($byte =~ /[ \t\r\n\f]/) {
                next if $text =~ / \z/ || $text eq '';
                $byte = ' ';
            }
            $text .= $byte;
            push @bold,   $stack[-1]{bold};
            push @colour, $stack[-1]{colour};
        }
    }
}

my $failed = 0;
for my $line (split /\n/, slurp($words)) {
    next if $line eq '';
    my ($word, $weight, $want) = split /\t/, $line;
    my $at = index $text, $word;
    if ($at < 0) {
        print "'$word' is not in the page; its text is:\n$text\n";
        $failed = 1;
        next;
    }
    my $end = $at + length($word) - 1;
    my @b = @bold[$at .. $end];
    my @c = @colour[$at .. $end];
    my $want_bold = $weight eq 'bold' ? 1 : 0;
    my @bad_weight = grep { $_ != $want_bold } @b;
    my @bad_colour = grep {
        $want eq 'auto' ? !($_ eq 'auto' || $_ eq '#000000') : $_ ne $want
    } @c;
    my $context = substr $text, ($at > 30 ? $at - 30 : 0), length($word) + 60;
    if (@bad_weight) {
        print "'$word' should be $weight but is not throughout: ...$context...\n";
        $failed = 1;
    }
    if (@bad_colour) {
        print "'$word' should have colour $want but has $bad_colour[0]: ...$context...\n";
        $failed = 1;
    }
    print "ok '$word' $weight $want\n" unless @bad_weight || @bad_colour;
}
exit $failed;
