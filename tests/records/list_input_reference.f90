! Reads texts, one per line, from standard input; for each, reads two reals list-directed
! from the text (both 7.0 before) and prints the status and the bit patterns of both reals.
program list_input_reference
  implicit none
  character(len=300) :: line
  integer :: line_status, status
  real :: first, second

  do
    read (*, '(A)', iostat=line_status) line
    if (line_status /= 0) exit
    first = 7.0
    second = 7.0
    read (line, *, iostat=status) first, second
    write (*, '(I0,1X,I0,1X,I0)') status, transfer(first, 0), transfer(second, 0)
  end do
end program list_input_reference
