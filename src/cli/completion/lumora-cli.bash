# bash completion for lumora-cli: commands, album subcommands, their options
# and the files each position expects.

_lumora_cli()
{
    local cur prev words cword
    _init_completion || return

    local commands="info convert album poster sound thumbnail --help"
    local album_commands="new add add-text add-tab delete delete-tab tab text describe set sound info render print gather import"
    local albums='@(qza|QZA)'
    local pictures='@(bmp|BMP|dib|DIB|rle|RLE|gif|GIF|pcx|PCX|tga|TGA|tif|TIF|tiff|TIFF|jpg|JPG|jpeg|JPEG|jfif|JFIF|pcd|PCD|png|PNG|webp|WEBP|heic|HEIC|heif|HEIF|avif|AVIF)'

    if ((cword == 1)); then
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        return
    fi

    case $prev in
        --jpeg256 | --tabs | --flyleaf | --previews256 | --descriptions | --jpeg | --sounds | --viewer | --by-day)
            COMPREPLY=($(compgen -W "on off" -- "$cur"))
            return ;;
        --paper)
            COMPREPLY=($(compgen -W "A4 Letter" -- "$cur"))
            return ;;
        --pcd-size)
            COMPREPLY=($(compgen -W "0 1 2 3" -- "$cur"))
            return ;;
        --layout)
            COMPREPLY=($(compgen -W "0 1 2 3 4 5 6" -- "$cur"))
            return ;;
        --spread)
            COMPREPLY=($(compgen -W "0" -- "$cur"))
            return ;;
        --size | --quality | --at | --before | --name | --color | --namecolor | --text | --font | \
            --title | --description | --position | --selection | --dpi | --width-cm | --compression | --printable)
            return ;;
    esac

    local command=${words[1]} options=""
    case $command in
        info) options="--json --jpeg256 --pcd-size" ;;
        convert) options="--app-palette --dither16 --size --quality --jpeg256 --pcd-size" ;;
        poster) options="--width-cm --paper --dpi --dry-run --printable" ;;
        thumbnail) options="--size --spread" ;;
        album)
            if ((cword == 2)); then
                COMPREPLY=($(compgen -W "$album_commands" -- "$cur"))
                return
            fi
            case ${words[2]} in
                new) options="--title --description --layout --tabs --flyleaf --force" ;;
                add) options="--at --skip-unreadable --previews256" ;;
                add-text) options="--at" ;;
                add-tab) options="--before --name" ;;
                tab) options="--name --color --namecolor" ;;
                text) options="--text --color --font" ;;
                sound) options="--remove" ;;
                info) options="--json" ;;
                render) options="--position --selection --size" ;;
                print) options="--covers --descriptions --paper --dpi" ;;
                gather) options="--jpeg --compression --sounds --viewer" ;;
                import) options="--by-day --recursive --force" ;;
                set) COMPREPLY=($(compgen -W "title= description= layout= flyleaf= pagenumbers= headertitle= usetabs= frame= effect= titlecolor= desk= password=" -- "$cur"))
                     compopt -o nospace
                     return ;;
            esac ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi

    # Files: the album first for album commands and the thumbnail, then
    # pictures, folders or outputs.
    local position=$((cword - 1))
    [[ $command == album ]] && position=$((cword - 2))
    case $command in
        album)
            if ((position == 1)); then
                _filedir "$albums"
            elif [[ ${words[2]} == import ]]; then
                _filedir -d
            elif [[ ${words[2]} == add ]]; then
                _filedir "$pictures"
            elif [[ ${words[2]} == gather ]]; then
                _filedir -d
            else
                _filedir
            fi ;;
        thumbnail)
            if ((position == 1)); then _filedir "$albums"; else _filedir png; fi ;;
        info | convert | poster)
            if ((position == 1)); then _filedir "$pictures"; else _filedir; fi ;;
        *) _filedir ;;
    esac
} &&
    complete -F _lumora_cli lumora-cli
